# The tree of Setup.exe alone (build/product, configured by build/ with
# SETUP_PRODUCT_ONLY): the win32-thread compilers (cmake/i686-mingw-win32.cmake)
# and link-time optimisation, from the payload that build/ made in
# SETUP_PAYLOAD_DIR; the program lands in SETUP_OUTPUT_DIR. docs/size.md says
# why each size option is there.

# Link-time optimisation: docs/size.md.
set_target_properties(${SETUP_LAYERS} PROPERTIES INTERPROCEDURAL_OPTIMIZATION ON)
# One thread, no exceptions, no type information: docs/size.md.
set(PRODUCT_COMPILE_OPTIONS -fno-threadsafe-statics -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
foreach(layer ${SETUP_LAYERS})
  target_compile_options(${layer} PRIVATE ${PRODUCT_COMPILE_OPTIONS})
endforeach()

add_executable(Setup WIN32 app/Main.cpp app/LibraryErrors.cpp)
setup_resources(Setup)
set_target_properties(Setup PROPERTIES INTERPROCEDURAL_OPTIMIZATION ON
                      RUNTIME_OUTPUT_DIRECTORY ${SETUP_OUTPUT_DIR})
target_link_libraries(Setup PRIVATE setupui)
target_compile_options(Setup PRIVATE ${PRODUCT_COMPILE_OPTIONS})
# -s: no symbol table (docs/size.md); no time stamp, so that the same commit
# gives the same bytes. The link map beside Setup.exe says where its bytes
# come from (bench/linkmap.py reads it); it changes nothing in the file.
# One link-time partition: split, the compiler of this toolchain fails on the
# inline std::function and C++20 string members that the parts share (an
# internal error in binds_to_current_def_p).
target_link_options(Setup PRIVATE -flto-partition=one -s -Wl,--no-insert-timestamp
                    -Wl,-Map=${SETUP_OUTPUT_DIR}/Setup.map)
