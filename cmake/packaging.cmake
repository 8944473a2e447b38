# Installing and packaging. The game looks for its wave files beside its
# executable, so both go into one folder (lib/zommel) with a link on the PATH.
include(GNUInstallDirs)

set(ZOMMEL_APP_ID org.zommelvrix.ZommelVrix)
set(ZOMMEL_LIBEXEC lib/zommel)

install(TARGETS zommel zommel-replay RUNTIME DESTINATION ${ZOMMEL_LIBEXEC})
foreach(sound ${ZOMMEL_SOUND_NAMES})
    install(FILES ${CMAKE_SOURCE_DIR}/assets/sounds/${sound}.wav DESTINATION ${ZOMMEL_LIBEXEC})
endforeach()
foreach(program zommel zommel-replay)
    install(CODE "
        set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(MAKE_DIRECTORY \"\${bindir}\")
        file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
             \"\${CMAKE_INSTALL_PREFIX}/${ZOMMEL_LIBEXEC}/${program}\")
        execute_process(COMMAND \${CMAKE_COMMAND} -E create_symlink \"\${target}\"
                        \"\${bindir}/${program}\")
        message(STATUS \"Installing: \${bindir}/${program} -> \${target}\")")
endforeach()

install(FILES assets/desktop/${ZOMMEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/desktop/${ZOMMEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES assets/icons/zommel-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ZOMMEL_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zommel-vrix)
set(CPACK_PACKAGE_VENDOR "The ZOMMEL & VRIX team")
set(CPACK_PACKAGE_CONTACT "The ZOMMEL & VRIX team <team@zommelvrix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arcade puzzle game with a room editor")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)

if(ZOMMEL_BUILD_TESTS)
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    find_program(APPSTREAMCLI appstreamcli)
    if(DESKTOP_FILE_VALIDATE)
        add_test(NAME desktop_entry_valid COMMAND ${DESKTOP_FILE_VALIDATE}
                 ${CMAKE_SOURCE_DIR}/assets/desktop/${ZOMMEL_APP_ID}.desktop)
    endif()
    if(APPSTREAMCLI)
        add_test(NAME metainfo_valid COMMAND ${APPSTREAMCLI} validate --no-net
                 ${CMAKE_SOURCE_DIR}/assets/desktop/${ZOMMEL_APP_ID}.metainfo.xml)
    endif()
endif()
