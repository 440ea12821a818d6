# The Windows program's resources: the icon (the same drawing as the Linux
# one, rendered on the build machine and packed as an icon file), the version
# and the manifest. Included where the QuibraD target is made.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
enable_language(RC)

set(res "${CMAKE_CURRENT_BINARY_DIR}/resources")
set(pngs "")
foreach(size 16 24 32 48 256)
  add_custom_command(OUTPUT "${res}/quibrad-${size}.png"
                     COMMAND ${CMAKE_COMMAND} -E make_directory "${res}"
                     COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} "${PROJECT_SOURCE_DIR}/packaging/quibrad.svg"
                             -o "${res}/quibrad-${size}.png"
                     DEPENDS "${PROJECT_SOURCE_DIR}/packaging/quibrad.svg")
  list(APPEND pngs "${res}/quibrad-${size}.png")
endforeach()
add_custom_command(OUTPUT "${res}/quibrad.ico"
                   COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/packaging/make-ico.py" "${res}/quibrad.ico" ${pngs}
                   DEPENDS ${pngs} "${PROJECT_SOURCE_DIR}/packaging/make-ico.py")

set(QUIBRA_VERSION_4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
string(REPLACE "." "," QUIBRA_VERSION_COMMAS "${QUIBRA_VERSION_4}")
set(QUIBRA_ICO "${res}/quibrad.ico")
set(QUIBRA_MANIFEST "${res}/QuibraD.manifest")
configure_file("${PROJECT_SOURCE_DIR}/packaging/QuibraD.manifest" "${QUIBRA_MANIFEST}" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/packaging/QuibraD.rc" "${res}/QuibraD.rc" @ONLY)
set_source_files_properties("${res}/QuibraD.rc" PROPERTIES OBJECT_DEPENDS "${res}/quibrad.ico;${QUIBRA_MANIFEST}")
target_sources(QuibraD PRIVATE "${res}/QuibraD.rc")
