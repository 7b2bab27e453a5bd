# Turns the loadable mode's data files (published_properties.txt, fox_events.txt, setting_rules.txt,
# fox_defaults.txt, form_member_names.txt) into C++ string literals, so the program never has to
# find a file at run time. Included after the loadable stage is declared;
# re-runs when a file changes.
set(out_dir "${CMAKE_BINARY_DIR}/generated/loadable")
foreach(name published_properties fox_defaults fox_events setting_rules form_member_names)
  set(table "${CMAKE_CURRENT_LIST_DIR}/${name}.txt")
  set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${table}")
  file(READ "${table}" QUORVEX_TABLE_TEXT)
  file(CONFIGURE OUTPUT "${out_dir}/${name}_text.inc"
       CONTENT "R\"quorvex_table(@QUORVEX_TABLE_TEXT@)quorvex_table\"\n" @ONLY)
endforeach()
target_include_directories(quorvex_loadable PRIVATE "${CMAKE_BINARY_DIR}/generated")
