target_sources(ormeline_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/printerassignments.cpp
    ${CMAKE_CURRENT_LIST_DIR}/printerlist.cpp
)
