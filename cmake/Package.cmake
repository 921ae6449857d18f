# The release downloads of the shipping 32-bit build: `cmake --build <dir>
# --target dist` writes Ember_Lantern-<version>.zip, the installer
# Ember_Lantern-<version>-setup.exe, the Windows Installer package
# Ember_Lantern-<version>.msi and their SHA256SUMS into EL_DIST_DIR
# (scripts/package points it at build/dist).
set(EL_DIST_DIR ${CMAKE_BINARY_DIR}/dist CACHE PATH "Folder for the release package")

add_custom_target(dist
    COMMAND python3 ${PROJECT_SOURCE_DIR}/packaging/make_package.py
            --version ${EL_VERSION} --out ${EL_DIST_DIR} ${EL_BIN_DIR}
    COMMENT "Packaging Ember_Lantern ${EL_VERSION}"
    VERBATIM)
add_dependencies(dist saver renderer)
