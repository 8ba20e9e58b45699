# What a user installs: `cmake --install` puts the programs in bin/, and on Linux the desktop entry,
# the icon in the hicolor theme, the user guide and the licence under share/; `make package` makes a
# Debian package of it whose dependencies dpkg-shlibdeps reads from the programs.
include(GNUInstallDirs)

set(VELKOR_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/velkor)

if(TARGET velkor-convert)
  install(TARGETS velkor-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET velkor)
  install(TARGETS velkor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

install(FILES LICENSE packaging/copyright docs/kullanim-kilavuzu.md DESTINATION ${VELKOR_DOC_DIR})
install(DIRECTORY docs/resimler DESTINATION ${VELKOR_DOC_DIR})

if(TARGET velkor)
  install(FILES packaging/velkor.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  # The theme's PNG files come from the very code that draws the window's icon.
  add_executable(velkor-export-icon packaging/export_icon.cpp)
  target_link_libraries(velkor-export-icon PRIVATE velkor_app)
  set(VELKOR_ICON_DIR ${PROJECT_BINARY_DIR}/icons/hicolor)
  add_custom_command(OUTPUT ${VELKOR_ICON_DIR}/256x256/apps/velkor.png
    COMMAND velkor-export-icon ${VELKOR_ICON_DIR}
    DEPENDS velkor-export-icon
    COMMENT "Drawing the program icon for the icon theme")
  add_custom_target(velkor-icons ALL DEPENDS ${VELKOR_ICON_DIR}/256x256/apps/velkor.png)
  install(DIRECTORY ${VELKOR_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velkor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "NetCAD road reports to LandXML 1.0 and GSI-16")
set(CPACK_PACKAGE_DESCRIPTION
  "Velkor reads the reports and drawings of a road designed in NetCAD (horizontal element table,\n\
vertical definition report, cross-section files, terrain-model and slope-plan drawings) and writes\n\
one LandXML 1.0 document and GSI-16 files for survey instruments. It offers a desktop program\n\
with Turkish captions (velkor) and a batch converter (velkor-convert).")
set(VELKOR_MAINTAINER "Velkor developers <velkor@example.org>" CACHE STRING "Maintainer named in the Debian package")
set(CPACK_PACKAGE_CONTACT ${VELKOR_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker cannot see: Qt's own Turkish texts for its dialogs and buttons.
if(TARGET velkor)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()
include(CPack)

if(VELKOR_TESTS AND TARGET velkor AND TARGET velkor-convert AND NOT CMAKE_CROSSCOMPILING)
  add_test(NAME package.deb
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/deb_test.sh ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  set_tests_properties(package.deb PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" TIMEOUT 300)
endif()
