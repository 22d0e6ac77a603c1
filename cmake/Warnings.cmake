# Warnings are errors on every target of ours. No fast-math: the floating-point exception flags
# carry meaning (a raised flag is a failed computation), so the compiler must neither drop nor
# speculate trapping operations.
function(vk_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Woverloaded-virtual)
  if(VK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # Clang's default lets it hoist a guarded division out of its branch, which would raise a
    # spurious division-by-zero flag; maytrap forbids such speculation.
    target_compile_options(${target} PRIVATE -ffp-exception-behavior=maytrap)
  else()
    # -Wrestrict: GCC 12 at -O3 reports impossible overlaps inside std::string concatenation
    # (a known false positive of its libstdc++ inlining), which would fail Release builds.
    target_compile_options(${target} PRIVATE -ftrapping-math -fno-fast-math -Wno-restrict)
  endif()
endfunction()
