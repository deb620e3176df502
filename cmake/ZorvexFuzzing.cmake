# In the fuzzing build the window-free libraries carry libFuzzer's coverage
# instrumentation, so the fuzz targets link the very libraries the sanitizer
# tests run instead of compiling the readers once more.
function(zorvex_fuzz_coverage target)
  if(ZORVEX_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
