# What a desktop needs beside the binaries: the desktop entry, AppStream metainfo, the icon in the
# hicolor theme sizes (scaled from the 256 px original at build time), the manual page and the
# compiled translations.
include(GNUInstallDirs)

set(PELLORY_ICON_SIZES 16 32 48 64 128 256)
set(PELLORY_ICON_SOURCE "${PROJECT_SOURCE_DIR}/resources/icons/Pellory2_256.png")
set(PELLORY_ICON_DIR "${PROJECT_BINARY_DIR}/icons/hicolor")

add_executable(pellory_scaleicon "${PROJECT_SOURCE_DIR}/tools/icons/scaleicon.cpp")
target_link_libraries(pellory_scaleicon PRIVATE Qt6::Gui pellory_build_settings)

set(pellory_icon_files)
foreach(size IN LISTS PELLORY_ICON_SIZES)
    list(APPEND pellory_icon_files "${PELLORY_ICON_DIR}/${size}x${size}/apps/pellory2.png")
endforeach()
add_custom_command(
    OUTPUT ${pellory_icon_files}
    # A sanitizer build would fail the build on the tool's leaks at exit, which do not matter here.
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
        $<TARGET_FILE:pellory_scaleicon> --name pellory2 "${PELLORY_ICON_SOURCE}" "${PELLORY_ICON_DIR}" ${PELLORY_ICON_SIZES}
    DEPENDS pellory_scaleicon "${PELLORY_ICON_SOURCE}"
    COMMENT "Scaling the application icon to the hicolor sizes"
    VERBATIM)
add_custom_target(pellory_icons ALL DEPENDS ${pellory_icon_files})

install(FILES "${PROJECT_SOURCE_DIR}/resources/pellory2.desktop"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/resources/pellory2.metainfo.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(DIRECTORY "${PELLORY_ICON_DIR}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
install(FILES "${PROJECT_SOURCE_DIR}/resources/man/pellory2-cli.1"
    DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
# The program reads its translations from its resources; the installed copies are for packagers
# and translators' tools.
install(FILES ${pellory_qm_files} DESTINATION "${CMAKE_INSTALL_DATADIR}/pellory2/translations")
