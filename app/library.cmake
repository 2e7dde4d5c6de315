# Targets for the font library units (collection store, catalogue, search filter).
# Included from the top CMakeLists in every build; Windows-only units only when WIN32.
