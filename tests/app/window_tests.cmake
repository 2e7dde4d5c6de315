# Client window and end-to-end tests.
