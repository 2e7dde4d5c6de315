# Font library unit tests.
