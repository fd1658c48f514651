# Warnings for our own targets; the SDK is compiled with its warnings off.
function(tessaline_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
