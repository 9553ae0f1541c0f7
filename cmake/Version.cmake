# The one version: project(VERSION) feeds the resources, the manifest, the help's title page
# and the package names. Included from the top CMakeLists.txt after project().
set(VAROLIN_VERSION ${PROJECT_VERSION})
set(VAROLIN_VERSION_SHORT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(VAROLIN_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(VAROLIN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

# The manifest is kept in src/res with a placeholder for its version.
configure_file(${PROJECT_SOURCE_DIR}/src/res/Varolin.manifest ${VAROLIN_GENERATED_DIR}/Varolin.manifest @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/VarolinVersion.h.in ${VAROLIN_GENERATED_DIR}/VarolinVersion.h @ONLY)

# The resource script includes the header and the manifest; windres writes no dependency file.
function(varolin_version_resources)
  if(NOT TARGET varolin_res)
    return()
  endif()
  target_include_directories(varolin_res PRIVATE ${VAROLIN_GENERATED_DIR})
  set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/res/Varolin.rc DIRECTORY ${PROJECT_SOURCE_DIR}/src APPEND PROPERTY OBJECT_DEPENDS
               ${VAROLIN_GENERATED_DIR}/VarolinVersion.h ${VAROLIN_GENERATED_DIR}/Varolin.manifest)
endfunction()
