# Every arithmetic step rounds to double on every target: no contraction into
# fused multiply-add, no x87 extended precision, and errno-free square roots
# so that sqrt compiles to the single correctly rounded instruction.
add_compile_options(-ffp-contract=off -fno-math-errno)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
    add_compile_options(-msse2 -mfpmath=sse)
endif()
