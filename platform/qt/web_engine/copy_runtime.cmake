# Copies the player's runtime files and both licence files from the installed npm package into
# the player folder; source maps stay behind.
file(GLOB runtime_files
  ${PACKAGE_DIR}/ruffle.js ${PACKAGE_DIR}/core.ruffle.*.js ${PACKAGE_DIR}/*.wasm
  ${PACKAGE_DIR}/LICENSE_MIT ${PACKAGE_DIR}/LICENSE_APACHE)
list(FILTER runtime_files EXCLUDE REGEX "\\.map$")
file(MAKE_DIRECTORY ${PLAYER_DIR})
file(COPY ${runtime_files} DESTINATION ${PLAYER_DIR})
file(TOUCH ${STAMP})
