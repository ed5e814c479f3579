# Installation and the Debian package.
#
# The program looks for its help and its licence beside its own file, so they
# are installed together in lib/vendalo/; bin/vendalo is a relative symbolic
# link to it. Qt finds the program's folder through /proc/self/exe, which
# names the real file, so starting it through the link still finds them.
set(VDL_APP_ID example.vendalo.Vendalo)
set(VDL_PRIVATE_DIR lib/vendalo)

install(TARGETS vendalo RUNTIME DESTINATION ${VDL_PRIVATE_DIR})
install(FILES ${CMAKE_BINARY_DIR}/vdl.qch ${CMAKE_BINARY_DIR}/vdl.qhc ${CMAKE_BINARY_DIR}/License.txt
        DESTINATION ${VDL_PRIVATE_DIR})

# install() copies a symbolic link as a link.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-bin)
file(CREATE_LINK ../${VDL_PRIVATE_DIR}/vendalo ${CMAKE_BINARY_DIR}/install-bin/vendalo SYMBOLIC)
install(PROGRAMS ${CMAKE_BINARY_DIR}/install-bin/vendalo DESTINATION bin)

set(desktop ${CMAKE_CURRENT_LIST_DIR})
install(FILES ${desktop}/${VDL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${desktop}/${VDL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/art/vendalo.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${VDL_APP_ID}.svg)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION share/doc/vendalo RENAME copyright)

# cpack -G DEB in the build folder makes vendalo_<version>_<arch>.deb. The
# libraries it needs are found by dpkg-shlibdeps; what it loads at run time
# without linking to it is named here: the SQLite driver the help engine opens
# its collection with, the SVG plugins that draw the pictures, and the font
# that stands for Arial and Tahoma.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendalo)
set(CPACK_PACKAGE_VENDOR "Brantel Software")
set(CPACK_PACKAGE_CONTACT "Brantel Software <support@vendalo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of what a house sale leaves you")
# One line of the long description a line of the control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "On one worksheet you type the figures of a house sale; Vendalo works out"
    "the loan payment, taxes, commission, carrying costs and sale costs, and a"
    "table of net proceeds at four sales prices over the first twelve months on"
    "the market. It prints a net gain report, a home inspection form and a"
    "to-do list for movers.")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.vendalo.example")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libqt6sql6-sqlite, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
