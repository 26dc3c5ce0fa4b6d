# libFuzzer targets for the loan file codec, the number and date texts and
# the servicer's statement reader.
# They compile only the plain sources they need against Qt6::Core, so a fuzz
# build never touches the widget code. clang only (libFuzzer is part of it).
#
#   CC=clang CXX=clang++ cmake -B build-fuzz -DQH_FUZZ=ON -DQH_BUILD_TESTS=OFF
#   cmake --build build-fuzz --target fuzz_loanfile fuzz_numtext fuzz_statement

option(QH_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(QH_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QH_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()

  set(QH_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -g)

  # The code under test, instrumented for coverage but without libFuzzer's main.
  # The statement's lines reach into the loan arithmetic, so all of it comes.
  file(GLOB qh_fuzz_loan CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/loan/*.cpp)
  add_library(qhfuzzcore STATIC
    ${qh_fuzz_loan}
    ${CMAKE_CURRENT_SOURCE_DIR}/storage/statementreader.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/storage/loanfile.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/storage/wholefile.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/storage/loanextension.cpp)
  set_target_properties(qhfuzzcore PROPERTIES AUTOMOC OFF)
  target_include_directories(qhfuzzcore PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(qhfuzzcore PUBLIC Qt6::Core)
  target_compile_options(qhfuzzcore PRIVATE ${QH_FUZZ_FLAGS} -fsanitize=fuzzer-no-link)
  target_link_options(qhfuzzcore INTERFACE -fsanitize=address,undefined)

  foreach(name loanfile numtext statement)
    add_executable(fuzz_${name} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_${name}.cpp)
    set_target_properties(fuzz_${name} PROPERTIES AUTOMOC OFF)
    target_link_libraries(fuzz_${name} PRIVATE qhfuzzcore)
    target_compile_options(fuzz_${name} PRIVATE ${QH_FUZZ_FLAGS} -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()

  # Writes the varied loan-file seeds through the codec itself (fuzz/make-seeds.sh).
  add_executable(fuzz_makeseeds ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/makeseeds.cpp)
  set_target_properties(fuzz_makeseeds PROPERTIES AUTOMOC OFF)
  target_link_libraries(fuzz_makeseeds PRIVATE qhfuzzcore)
  target_compile_options(fuzz_makeseeds PRIVATE ${QH_FUZZ_FLAGS})

  # Replaying the committed seeds is a quick check that needs no fuzzing time.
  # The files are named one by one, so libFuzzer only runs them and never
  # writes into the committed corpus.
  enable_testing()
  foreach(name loanfile numtext statement)
    file(GLOB seeds CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${name}/*)
    if(seeds)
      add_test(NAME fuzz_${name}_seeds COMMAND fuzz_${name} ${seeds})
    endif()
  endforeach()
endif()
