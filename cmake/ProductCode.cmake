# How the shipped program's own code is compiled: the calculator core, the
# number text, the framework, the dialogs and the application.
#
# It needs neither exceptions nor thread-safe local statics (it runs on one
# thread and reports every failure through return values), and without them
# the program links none of the C++ library's unwinding and exception
# classes. The flags are PRIVATE: a test executable that links a product
# library keeps its own exceptions for GoogleTest, and the product code never
# lets one pass through it.
#
# The Windows and WebAssembly builds are also compiled for size, one section
# per function and per object so that the linker drops what nothing calls,
# and without the unwind tables that only exceptions would read, nor the
# type information that nothing asks for at run time. (The native builds
# keep it: the undefined-behaviour sanitizer reads it to check calls
# through virtual functions.)
#
# On Windows the shipped program's code is optimized again at the link, as
# one program, where a function called once costs less as a call than copied
# into its caller. The libraries keep their ordinary code beside it for the
# test programs, which link that.
# The 32-bit build keeps the stack at the 4-byte alignment that Windows
# itself keeps rather than padding every frame to 16: nothing in the program
# needs more, and a function that did would realign for itself.
set(VELQUOR_LINK_TIME_OPTIONS -fno-inline-functions-called-once)
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND VELQUOR_LINK_TIME_OPTIONS -mpreferred-stack-boundary=2)
endif()

function(velquor_product_code target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-threadsafe-statics>)
    if(WIN32 OR VELQUOR_WASM)
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:C,CXX>:-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables>
            $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
    endif()
    if(WIN32)
        set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
        target_compile_options(${target} PRIVATE ${VELQUOR_LINK_TIME_OPTIONS} -ffat-lto-objects)
    endif()
endfunction()

# The shipped executable: product code, and a link that drops unused
# sections and writes a map of what remains (<name>.map in the build tree).
#
# On Windows the image is marked for Vista (6.0), the first Windows with
# every function it imports (the framework's per-thread slots use kernel32's
# fiber-local storage, FlsAlloc and its kin): older Windows refuse it at once
# rather than failing on a missing entry point. It carries no time stamp, so that
# two builds of the same sources give the same bytes.
function(velquor_product_executable target)
    velquor_product_code(${target})
    if(WIN32)
        target_link_options(${target} PRIVATE
            -Wl,--gc-sections "-Wl,-Map,$<TARGET_FILE_DIR:${target}>/${target}.map"
            -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0
            -Wl,--major-os-version,6 -Wl,--minor-os-version,0
            -Wl,--no-insert-timestamp)
        target_link_options(${target} PRIVATE -Os ${VELQUOR_LINK_TIME_OPTIONS})
    endif()
endfunction()
