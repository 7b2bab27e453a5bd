# Turns the table of published properties (a data file, published_properties.txt)
# into a C++ string literal, so the program never has to find the file at run
# time. Included after the loadable stage is declared; re-runs when the file
# changes.
set(table "${CMAKE_CURRENT_LIST_DIR}/published_properties.txt")
set(out_dir "${CMAKE_BINARY_DIR}/generated/loadable")
set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${table}")
file(READ "${table}" QUORVEX_PUBLISHED_PROPERTIES)
file(CONFIGURE OUTPUT "${out_dir}/published_properties_text.inc"
     CONTENT "R\"quorvex_table(@QUORVEX_PUBLISHED_PROPERTIES@)quorvex_table\"\n" @ONLY)
target_include_directories(quorvex_loadable PRIVATE "${CMAKE_BINARY_DIR}/generated")
