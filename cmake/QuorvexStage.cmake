# The core is a pipeline of stages, one folder and one static library each.
# A stage may include and link only itself and the stages it names in LINKS
# (and theirs); an include of any other stage's header stops the build.
#
# That rule is enforced by gate headers: for every stage that a stage may not
# see, its build tree gets a folder of headers with the same names as that
# stage's headers, each an #error, placed first on the stage's include path.
# The compiler then finds the gate before the real header.

# Every stage, in pipeline order. The gates are made against this list.
set(QUORVEX_STAGES base table data vocabulary scx classlib dfm formstream expression translate catalog model look pictures
    binding methods writers loadable database run cli gui)

function(quorvex_stage_gates stage allowed out_dir)
  string(REPLACE ";" ", " seen "${allowed}")
  foreach(other IN LISTS QUORVEX_STAGES)
    if(other IN_LIST allowed)
      # Gates of a stage that an earlier configure did not allow yet.
      file(REMOVE_RECURSE "${out_dir}/${other}")
      continue()
    endif()
    file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${other}/*.h")
    foreach(header IN LISTS headers)
      get_filename_component(name "${header}" NAME)
      file(CONFIGURE OUTPUT "${out_dir}/${other}/${name}" CONTENT
           "#error \"the ${stage} stage may not include ${other}/${name}: it sees only ${seen}\"\n")
    endforeach()
  endforeach()
endfunction()

# quorvex_add_stage(NAME [CORE] [LINKS stage...] [DEPENDS target...])
# Builds src/NAME/*.cpp into the library quorvex_NAME; a file *_windows.cpp
# holds what only Windows needs and is built only there, a file *_posix.cpp
# the same for POSIX systems and is built everywhere else. CORE stages must also
# stay free of GUI headers. DEPENDS names outside libraries it links publicly.
function(quorvex_add_stage stage)
  cmake_parse_arguments(ARG "CORE" "" "LINKS;DEPENDS" ${ARGN})
  set(allowed ${stage})
  foreach(link IN LISTS ARG_LINKS)
    get_property(link_allowed GLOBAL PROPERTY QUORVEX_STAGE_SEES_${link})
    list(APPEND allowed ${link_allowed})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY QUORVEX_STAGE_SEES_${stage} ${allowed})

  set(gate_dir "${CMAKE_BINARY_DIR}/stage_gates/${stage}")
  quorvex_stage_gates(${stage} "${allowed}" "${gate_dir}")

  set(target quorvex_${stage})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${stage}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} BEFORE PRIVATE "${gate_dir}")
  if(ARG_CORE)
    target_include_directories(${target} BEFORE PRIVATE "${QUORVEX_NO_GUI_DIR}")
  endif()
  target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  list(TRANSFORM ARG_LINKS PREPEND quorvex_)
  target_link_libraries(${target} PUBLIC ${ARG_LINKS} ${ARG_DEPENDS} PRIVATE quorvex_warnings)
endfunction()
