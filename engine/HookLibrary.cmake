# The hook library calc.dll and its tests. Included from this folder's
# CMakeLists.txt, below the result text target it builds on.

# The portable engine: typed text, trigger, delivery sequence, log line and
# line form, all behind seams. Built natively for the tests and benchmarks,
# and for Windows into calc.dll.
add_library(tarvok_engine STATIC
  ClipboardExchange.cpp
  HookEngine.cpp
  HotKeySequence.cpp
  LineForm.cpp
  LogLine.cpp
  ResultDelivery.cpp
  SettingsCopy.cpp
  SimulatedPaste.cpp
  TypedText.cpp
  TypingCapture.cpp)
target_include_directories(tarvok_engine PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tarvok_engine PUBLIC tarvok_contract calc_result)
tarvok_warnings(tarvok_engine)

tarvok_add_test(engine_typing_test
  SOURCES tests/TypedTextTest.cpp tests/TypingCaptureTest.cpp
  LIBS tarvok_engine LABELS engine)
tarvok_add_test(engine_delivery_test
  SOURCES tests/ClipboardExchangeTest.cpp tests/ResultDeliveryTest.cpp
  LIBS tarvok_engine LABELS engine)
tarvok_add_test(engine_hook_test
  SOURCES tests/HookEngineTest.cpp tests/LogLineTest.cpp tests/ResultTextTest.cpp
  LIBS tarvok_engine LABELS engine)

if(NOT WIN32)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_executable(engine_keystroke_bench tests/KeystrokeBench.cpp)
    target_link_libraries(engine_keystroke_bench PRIVATE tarvok_engine benchmark::benchmark)
    tarvok_warnings(engine_keystroke_bench)
  endif()
endif()

if(WIN32)
  # calc.dll is loaded into every program on the desktop: small, no
  # unused code, no symbols, only system DLLs imported.
  target_compile_options(tarvok_engine PRIVATE -ffunction-sections -fdata-sections)
  add_library(calc SHARED
    win32/CalcDll.cpp
    win32/LeanLibraryErrors.cpp
    win32/Win32Clipboard.cpp
    win32/Win32Keyboard.cpp
    win32/Win32Services.cpp)
  target_include_directories(calc PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win32)
  target_compile_options(calc PRIVATE -ffunction-sections -fdata-sections)
  target_link_options(calc PRIVATE -Wl,--kill-at -Wl,--gc-sections -s)
  target_link_libraries(calc PRIVATE tarvok_engine tarvok_registry_access user32 gdi32)
  # Windows loads a hook library of each bitness under its own file name.
  if(TARVOK_WIN64)
    set(hook_library_name calc64)
    set(converter_name convert64)
  else()
    set(hook_library_name calc)
    set(converter_name convert)
  endif()
  set_target_properties(calc PROPERTIES
    PREFIX "" OUTPUT_NAME ${hook_library_name}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  tarvok_warnings(calc)


  # A converter plug-in for the line-form tests, in its own folder so that
  # only the tests that ask for it find it.
  add_library(test_convert SHARED tests/TestConvert.cpp)
  target_link_options(test_convert PRIVATE -Wl,--kill-at -s)
  set_target_properties(test_convert PROPERTIES
    PREFIX "" OUTPUT_NAME ${converter_name}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/engine-plugin
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/engine-plugin
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  tarvok_warnings(test_convert)


  # The real Win32 seams: clipboard, text writers, log file, registry,
  # settings block and plug-in.
  tarvok_add_test(engine_win32_test
    SOURCES tests/Win32ClipboardTest.cpp tests/Win32ClipboardBlocksTest.cpp tests/Win32ServicesTest.cpp
            win32/Win32Clipboard.cpp win32/Win32Keyboard.cpp win32/Win32Services.cpp
            win32/LeanLibraryErrors.cpp
    LIBS tarvok_engine tarvok_registry_access user32 gdi32 LABELS engine)
  target_include_directories(engine_win32_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win32)
  target_compile_definitions(engine_win32_test PRIVATE
    TARVOK_TEST_PLUGIN_DIR="${CMAKE_BINARY_DIR}/engine-plugin")
  add_dependencies(engine_win32_test test_convert)

  # Exactly the four hook procedures, undecorated, only system DLLs, and
  # under 200 KB.
  add_test(NAME engine_dll_exports
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=$<TARGET_FILE:calc> -DMAX_BYTES=204800
            -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/CheckDllTables.cmake)
  set_tests_properties(engine_dll_exports PROPERTIES LABELS "engine;windows")

endif()

if(WIN32)
  # The library alone in real programs: a host that installs the hooks, our
  # test window and Wine's notepad, driven with xdotool.
  add_executable(tarvok-hook-host WIN32 tests/HookHost.cpp)
  target_link_libraries(tarvok-hook-host PRIVATE tarvok_contract tarvok_registry_access user32)
  set_target_properties(tarvok-hook-host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  tarvok_warnings(tarvok-hook-host)
endif()

# Needs tarvok-target and tarvok-probe from tests/tools; skipped without them.
# Each build runs them with its own library, in a prefix of its bitness.
if(WIN32)
  if(TARVOK_WIN64)
    set(engine_e2e_package x64)
  else()
    set(engine_e2e_package x86)
  endif()
  add_test(NAME engine_e2e_library_alone
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/library-alone.sh
                   ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/engine-e2e ${CMAKE_BINARY_DIR}/engine-plugin)
  set_tests_properties(engine_e2e_library_alone PROPERTIES
    LABELS "e2e;engine;windows" SKIP_RETURN_CODE 77 TIMEOUT 300 RESOURCE_LOCK wine_desktop
    ENVIRONMENT "TARVOK_PACKAGE=${engine_e2e_package}")

  # The library under faults: clipboard and timing, then files, plug-in and
  # foreign messages. The test converter of tests/tools answers some values
  # with no text, an empty text and a very long one.
  foreach(scenario clipboard files)
    add_test(NAME engine_e2e_faults_${scenario}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/faults-${scenario}.sh
                     ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/engine-e2e ${CMAKE_BINARY_DIR}/bin/test-plugin)
    set_tests_properties(engine_e2e_faults_${scenario} PROPERTIES
      LABELS "e2e;engine;windows" SKIP_RETURN_CODE 77 TIMEOUT 420 RESOURCE_LOCK wine_desktop
      ENVIRONMENT "TARVOK_PACKAGE=${engine_e2e_package}")
  endforeach()
endif()
