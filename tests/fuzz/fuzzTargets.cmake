# The libFuzzer target of the sensor file reader, built with clang when it and
# its fuzzer runtime are there, and run for a bounded time as a test. Not with
# the gcc sanitizer builds, whose runtime cannot share a program with clang's.
find_program(QV_CLANGXX NAMES clang++ clang++-14)
set(QV_FUZZER_RUNTIME "")
if(QV_CLANGXX)
  execute_process(COMMAND ${QV_CLANGXX} --print-runtime-dir
                  OUTPUT_VARIABLE QV_CLANG_RUNTIME_DIR OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(EXISTS "${QV_CLANG_RUNTIME_DIR}/libclang_rt.fuzzer-x86_64.a")
    set(QV_FUZZER_RUNTIME "${QV_CLANG_RUNTIME_DIR}/libclang_rt.fuzzer-x86_64.a")
  endif()
endif()

if(QV_FUZZER_RUNTIME AND NOT QV_SANITIZE AND NOT QV_TSAN)
  include(ExternalProject)
  ExternalProject_Add(qv_fuzz_build
    SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${QV_CLANGXX}
               -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DCMAKE_CXX_COMPILER_LAUNCHER=${CCACHE_PROGRAM}
               -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${CMAKE_BINARY_DIR}/bin
               -DQV_SOURCE_DIR=${PROJECT_SOURCE_DIR}
               -DQV_CORE_LIB=$<TARGET_FILE:qvcore>
               -DQV_BASE_LIB=$<TARGET_FILE:qvbase>
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    DEPENDS qvcore qvbase)
  # New inputs go to a corpus in the build tree; the seeds stay as they are.
  set(QV_FUZZ_CORPUS ${CMAKE_BINARY_DIR}/fuzz-corpus/sensors)
  file(MAKE_DIRECTORY ${QV_FUZZ_CORPUS})
  configure_file(${PROJECT_SOURCE_DIR}/resources/QuorvantiRes/Sensors.txt
                 ${QV_FUZZ_CORPUS}/shipped-Sensors.txt COPYONLY)
  add_test(NAME SensorFileFuzz
           COMMAND ${CMAKE_BINARY_DIR}/bin/qv_fuzz_sensors -max_total_time=15 -timeout=10
                   -dict=${CMAKE_CURRENT_LIST_DIR}/sensors.dict
                   -rss_limit_mb=2048 -print_final_stats=1
                   ${QV_FUZZ_CORPUS} ${CMAKE_CURRENT_LIST_DIR}/corpus)
  set_tests_properties(SensorFileFuzz PROPERTIES LABELS fuzz TIMEOUT 120)
  # The data file reader, fed from its own seeds and a saved own data file.
  set(QV_FUZZ_DATA_CORPUS ${CMAKE_BINARY_DIR}/fuzz-corpus/datafile)
  file(MAKE_DIRECTORY ${QV_FUZZ_DATA_CORPUS})
  add_test(NAME DataFileFuzz
           COMMAND ${CMAKE_BINARY_DIR}/bin/qv_fuzz_datafile -max_total_time=15 -timeout=10
                   -rss_limit_mb=2048 -print_final_stats=1 -max_len=8192
                   ${QV_FUZZ_DATA_CORPUS} ${CMAKE_CURRENT_LIST_DIR}/corpus-datafile)
  set_tests_properties(DataFileFuzz PROPERTIES LABELS fuzz TIMEOUT 120)
  # A smart sensor's definition block, chunk by chunk, with every reader.
  set(QV_FUZZ_SMART_CORPUS ${CMAKE_BINARY_DIR}/fuzz-corpus/smartdef)
  file(MAKE_DIRECTORY ${QV_FUZZ_SMART_CORPUS})
  add_test(NAME SmartSenDefFuzz
           COMMAND ${CMAKE_BINARY_DIR}/bin/qv_fuzz_smartdef -max_total_time=15 -timeout=10
                   -rss_limit_mb=2048 -print_final_stats=1 -max_len=16200
                   ${QV_FUZZ_SMART_CORPUS} ${CMAKE_CURRENT_LIST_DIR}/corpus-smartdef)
  set_tests_properties(SmartSenDefFuzz PROPERTIES LABELS fuzz TIMEOUT 120)
else()
  message(STATUS "No clang with libFuzzer (or a sanitizer build): the sensor file fuzz target is left out")
endif()
