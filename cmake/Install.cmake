# What `cmake --install` puts under the prefix: the four programs; for the window programs
# their desktop entries, icons (SVG and PNG sizes rendered here), the model file types and
# the AppStream metainfo; the batch tools' man pages.
include(GNUInstallDirs)

set(MOLDRIN_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(MOLDRIN_ICON_SIZES 16 32 48 64 128 256)

# Man pages, compressed as Debian ships them.
function(moldrin_install_man_page program)
    find_program(GZIP_PROGRAM gzip REQUIRED)
    set(source ${MOLDRIN_PACKAGING_DIR}/man/${program}.1)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
        COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${compressed}
        DEPENDS ${source})
    add_custom_target(${program}_man_page ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

install(TARGETS moldrin-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
moldrin_install_man_page(moldrin-batch)
if(TARGET quellon-batch)
    install(TARGETS quellon-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    moldrin_install_man_page(quellon-batch)
endif()

if(TARGET moldrin)
    install(TARGETS moldrin quellon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    install(FILES ${MOLDRIN_PACKAGING_DIR}/applications/org.moldrin.Moldrin.desktop
                  ${MOLDRIN_PACKAGING_DIR}/applications/org.moldrin.Quellon.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${MOLDRIN_PACKAGING_DIR}/mime/moldrin.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    install(FILES ${MOLDRIN_PACKAGING_DIR}/metainfo/org.moldrin.Moldrin.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    find_program(RSVG_CONVERT rsvg-convert)
    if(NOT RSVG_CONVERT)
        message(FATAL_ERROR "rsvg-convert renders the icons; scripts/install-deps installs it")
    endif()
    set(rendered_icons)
    foreach(icon moldrin quellon)
        set(svg ${MOLDRIN_PACKAGING_DIR}/icons/${icon}.svg)
        install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
        foreach(size IN LISTS MOLDRIN_ICON_SIZES)
            set(folder ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size})
            add_custom_command(OUTPUT ${folder}/${icon}.png
                COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                COMMAND ${RSVG_CONVERT} --width ${size} --height ${size}
                        --output ${folder}/${icon}.png ${svg}
                DEPENDS ${svg}
                VERBATIM)
            list(APPEND rendered_icons ${folder}/${icon}.png)
            install(FILES ${folder}/${icon}.png
                    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        endforeach()
    endforeach()
    add_custom_target(moldrin_icons ALL DEPENDS ${rendered_icons})
endif()
