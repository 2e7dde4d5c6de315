# The -posix compilers: the -win32 ones lack std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${NQ_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NQ_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NQ_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NQ_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Everything static, so the .exe and .dll need no MinGW runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
