# The Windows program writes DXF drawings and 3MF files with dxflib and lib3mf
# cross-built from Debian's source packages (scripts/build-windows-deps.sh),
# linked in statically with libzip and Debian's mingw-w64 zlib, so that it
# still needs no DLL beside it. Without them /E:1 and /X:1 are refused.
set(BOLTGEN_WINDOWS_LIBRARIES "" CACHE PATH
    "Folder of the cross-built dxflib, libzip and lib3mf (scripts/build-windows-deps.sh)")
if(NOT BOLTGEN_WINDOWS_LIBRARIES)
  message(WARNING "BOLTGEN_WINDOWS_LIBRARIES not set: this build cannot write DXF or 3MF files")
  set(BOLTGEN_HAVE_LIB3MF OFF)
  return()
endif()
set(prefix ${BOLTGEN_WINDOWS_LIBRARIES})
foreach(file include/dxflib/dl_dxf.h lib/libdxflib.a include/lib3mf/Model/COM/NMR_DLLInterfaces.h
             lib/lib3MF_s.a lib/libzip.a)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "${prefix} has no ${file}: run scripts/build-windows-deps.sh")
  endif()
endforeach()
find_library(BOLTGEN_MINGW_ZLIB NAMES libz.a REQUIRED)

target_include_directories(boltgen_generate SYSTEM PRIVATE ${prefix}/include/dxflib)
target_link_libraries(boltgen_generate PRIVATE ${prefix}/lib/libdxflib.a)
target_compile_definitions(boltgen_generate PRIVATE BOLTGEN_HAVE_DXFLIB=1)

set(LIB3MF_INCLUDE_DIR ${prefix}/include/lib3mf)
set(LIB3MF_LIBRARY ${prefix}/lib/lib3MF_s.a ${prefix}/lib/libzip.a ${BOLTGEN_MINGW_ZLIB})
target_include_directories(boltgen_generate SYSTEM PRIVATE ${LIB3MF_INCLUDE_DIR})
target_link_libraries(boltgen_generate PRIVATE ${LIB3MF_LIBRARY})
target_compile_definitions(boltgen_generate PRIVATE BOLTGEN_HAVE_LIB3MF=1)
set(BOLTGEN_HAVE_LIB3MF ON)
