# tickpane_library(NAME MACRO SOURCES...): one shared library of this project,
# with its public headers in NAME/include, an alias tickpane::NAME, hidden
# symbols except those marked with MACRO_API, and install rules: the library
# itself in the component "runtime", what building against it needs in
# "development".
function(tickpane_library name macro)
  add_library(${name} SHARED ${ARGN})
  add_library(tickpane::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_definitions(${name} PRIVATE ${macro}_BUILDING)
  if(SKBUILD)
    # A wheel holds no symbolic links: one file, named by the soname.
    set_target_properties(${name} PROPERTIES SOVERSION ${PROJECT_VERSION_MAJOR})
  else()
    set_target_properties(${name} PROPERTIES
      VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
  install(TARGETS ${name} EXPORT tickpaneTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
      COMPONENT runtime NAMELINK_COMPONENT development
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
endfunction()
