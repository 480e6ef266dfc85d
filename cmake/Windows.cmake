# What the Windows build adds: a static program with no DLLs beside it, the
# C library's standard printf (%zu, %lld), localtime_r, Unicode Win32 calls, and a
# resource with the version texts of the banner and the manifest.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 _POSIX_THREAD_SAFE_FUNCTIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
# No link time in the program file: two builds of one commit give the same bytes.
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)

set(CO447GEN_MANIFEST ${CMAKE_SOURCE_DIR}/src/app/windows/co447gen.manifest)
configure_file(${CMAKE_SOURCE_DIR}/src/app/windows/co447gen.rc.in ${CMAKE_BINARY_DIR}/generated/co447gen.rc @ONLY)
set(CO447GEN_WINDOWS_RESOURCE ${CMAKE_BINARY_DIR}/generated/co447gen.rc)

# The test program runs with the same manifest (UTF-8 code page, long paths).
file(WRITE ${CMAKE_BINARY_DIR}/generated/manifest-only.rc "1 24 \"${CO447GEN_MANIFEST}\"\n")
set(CO447GEN_WINDOWS_TEST_RESOURCE ${CMAKE_BINARY_DIR}/generated/manifest-only.rc)
