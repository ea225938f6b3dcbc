# The Windows platform layer: Win32 calls only, no ICU (Windows carries its own locale data).
set(BRIXEL_PLATFORM_TEXT_SOURCES
  platform/windows/wide_text.cpp
  platform/windows/win32_error.cpp
  platform/windows/locale_name.cpp
  platform/windows/user_locale_windows.cpp
  platform/windows/case_map_windows.cpp
  platform/windows/collation_windows.cpp
  platform/windows/cp1251_table_windows.cpp
  platform/windows/number_parse_windows.cpp)
set(BRIXEL_PLATFORM_TEXT_LIBS "")
set(BRIXEL_PLATFORM_LISTING_SOURCES
  platform/windows/long_path.cpp
  platform/windows/folder_windows.cpp
  platform/windows/program_folder_windows.cpp)
set(BRIXEL_PLATFORM_EXPORT_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/windows/c_numeric_locale_windows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/windows/file_system_windows.cpp)
