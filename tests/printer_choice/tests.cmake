# A second program writing the assignment file at the same time as the tests.
add_executable(assignmentwriter ${CMAKE_CURRENT_LIST_DIR}/assignmentwriter.cpp)
target_link_libraries(assignmentwriter PRIVATE ormeline_core)

ormeline_test(tst_printerassignments SOURCES printer_choice/tst_printerassignments.cpp LIBS ormeline_core)
target_compile_definitions(tst_printerassignments PRIVATE ASSIGNMENT_WRITER="$<TARGET_FILE:assignmentwriter>")
add_dependencies(tst_printerassignments assignmentwriter)

ormeline_test(tst_printerlist SOURCES printer_choice/tst_printerlist.cpp LIBS ormeline_core)

ormeline_test(tst_printerpick SOURCES printer_choice/tst_printerpick.cpp LIBS ormeline_ui PRINTS)
