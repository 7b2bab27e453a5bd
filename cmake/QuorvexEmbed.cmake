# Text files compiled into a stage as C++ string literals, so the program never
# has to find a file at run time (data tables, the Pascal runtime unit).
#
# quorvex_embed_text(STAGE NAME FILE...) writes the files, one after another,
# into generated/STAGE/NAME_text.inc, which the stage's sources include as
# "STAGE/NAME_text.inc". Configuring runs again when a file changes.
function(quorvex_embed_text stage name)
  set(text "")
  foreach(file IN LISTS ARGN)
    set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    file(READ "${file}" part)
    string(APPEND text "${part}")
  endforeach()
  set(QUORVEX_EMBEDDED_TEXT "${text}")
  file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/generated/${stage}/${name}_text.inc"
       CONTENT "R\"quorvex_text(@QUORVEX_EMBEDDED_TEXT@)quorvex_text\"\n" @ONLY)
  target_include_directories(quorvex_${stage} PRIVATE "${CMAKE_BINARY_DIR}/generated")
endfunction()
