# tolven_kernel_driver(<target> SOURCES ...): an NT kernel-mode driver (.sys)
# for 32-bit or 64-bit Windows, linked against ntoskrnl and hal with DriverEntry as the
# entry point.
function(tolven_kernel_driver target)
  cmake_parse_arguments(K "" "" "SOURCES" ${ARGN})
  add_library(${target} SHARED ${K_SOURCES})
  set_target_properties(${target} PROPERTIES SUFFIX ".sys" PREFIX "" LINKER_LANGUAGE C)
  target_include_directories(${target} PRIVATE /usr/${TOOLCHAIN_PREFIX}/include/ddk)
  target_compile_options(${target} PRIVATE -fno-builtin -fno-stack-protector)
  # The entry point's symbol is decorated on i686 only.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(entry DriverEntry)
  else()
    set(entry _DriverEntry@8)
  endif()
  target_link_options(${target} PRIVATE -nostdlib -nostartfiles -Wl,--subsystem,native
    -Wl,--entry,${entry} -Wl,--image-base,0x10000
    # A kernel driver exports nothing; without this the linker exports every
    # global symbol, DriverEntry@8 among them.
    -Wl,--exclude-all-symbols)
  target_link_libraries(${target} PRIVATE ntoskrnl hal)
  # The static run-time libraries the user-mode modules link have no place
  # in a kernel driver.
  set_property(TARGET ${target} PROPERTY LINK_LIBRARIES ntoskrnl hal)
endfunction()
