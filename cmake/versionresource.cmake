# The version resource every Batora executable carries on Windows: file and product version
# from project(), the version text in the classic form major.minor(2 digits).revision(4 digits),
# which reads 1.01.0002 for 1.1.0.2, and the program's description.
set(BATORA_DESCRIPTION "Batora - 複数ファイルの名称一括変換")

function(batora_pad_number value width out)
  set(text "${value}")
  string(LENGTH "${text}" length)
  while(length LESS width)
    set(text "0${text}")
    string(LENGTH "${text}" length)
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

batora_pad_number(${PROJECT_VERSION_MINOR} 2 _minor)
batora_pad_number(${PROJECT_VERSION_TWEAK} 4 _revision)
set(BATORA_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${_minor}.${_revision}")

# Adds the resource to an executable target; does nothing off Windows.
function(batora_version_resource target)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(BATORA_RC_INTERNAL_NAME ${target} OUTPUT_NAME)
  if(NOT BATORA_RC_INTERNAL_NAME)
    set(BATORA_RC_INTERNAL_NAME ${target})
  endif()
  set(BATORA_RC_FILENAME "${BATORA_RC_INTERNAL_NAME}.exe")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
