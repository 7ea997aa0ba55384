# Every arithmetic step rounds to double on every target: no contraction into
# fused multiply-add, no x87 extended precision, and errno-free square roots
# so that sqrt compiles to the single correctly rounded instruction. The
# same options go to the link, where link-time optimization compiles the
# program's code a second time.
set(VELQUOR_STRICT_DOUBLE -ffp-contract=off -fno-math-errno)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
    list(APPEND VELQUOR_STRICT_DOUBLE -msse2 -mfpmath=sse)
endif()
add_compile_options(${VELQUOR_STRICT_DOUBLE})
add_link_options(${VELQUOR_STRICT_DOUBLE})
