# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE). The zip holds one folder to unpack
# anywhere; the setup program installs the files themselves into the folder the user chooses.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Brixel-${CPACK_PACKAGE_VERSION}-setup")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
