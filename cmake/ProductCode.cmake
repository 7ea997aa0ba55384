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
function(velquor_product_code target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-threadsafe-statics>)
    if(WIN32 OR VELQUOR_WASM)
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:C,CXX>:-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables>
            $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
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
    endif()
endfunction()
