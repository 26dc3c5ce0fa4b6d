# Fails when one of PROGRAMS (a ;-list) loads a Qt GUI or Widgets library:
# the loan's arithmetic and the loan file code are Qt Core only.
foreach(program ${PROGRAMS})
  execute_process(COMMAND ldd ${program} OUTPUT_VARIABLE libs RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ldd ${program} failed")
  endif()
  if(libs MATCHES "libQt6(Gui|Widgets)")
    message(FATAL_ERROR "${program} links a GUI library:\n${libs}")
  endif()
  message(STATUS "${program}: Qt Core only")
endforeach()
