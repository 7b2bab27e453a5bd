# Turns FoxRuntime.pas into a C++ string literal, so the program writes the
# runtime unit without having to find a file. Included after the translate
# stage is declared; re-runs when the unit changes.
set(unit "${CMAKE_CURRENT_LIST_DIR}/FoxRuntime.pas")
set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${unit}")
file(READ "${unit}" QUORVEX_UNIT_TEXT)
file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/generated/translate/fox_runtime_text.inc"
     CONTENT "R\"quorvex_unit(@QUORVEX_UNIT_TEXT@)quorvex_unit\"\n" @ONLY)
target_include_directories(quorvex_translate PRIVATE "${CMAKE_BINARY_DIR}/generated")
