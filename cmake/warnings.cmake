# Warnings are errors in both builds. The source files and the program's texts are UTF-8, in the
# native build as in the executable, so a literal compares equal in both.
function(morvela_flags target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wimplicit-fallthrough -Wformat=2 -Wnon-virtual-dtor -Werror
    -finput-charset=UTF-8 -fexec-charset=UTF-8)
  target_compile_features(${target} PRIVATE cxx_std_20)
endfunction()
