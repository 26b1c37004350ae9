# tickpane::wx: the wxWidgets that find_package(wxWidgets) found, as one
# imported target instead of the variables the find module sets. The build
# and the installed package (tickpaneConfig.cmake) both make it from the
# wxWidgets of the machine they run on, so no machine's flags are exported.
if(NOT TARGET tickpane::wx)
  add_library(tickpane::wx INTERFACE IMPORTED)
  target_include_directories(tickpane::wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(tickpane::wx INTERFACE ${wxWidgets_DEFINITIONS})
  target_compile_options(tickpane::wx INTERFACE ${wxWidgets_CXX_FLAGS})
  target_link_libraries(tickpane::wx INTERFACE ${wxWidgets_LIBRARIES})
endif()
