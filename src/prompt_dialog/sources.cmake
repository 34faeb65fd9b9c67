# The prompt dialog: the reading of a request needs QtCore only; the window
# and its pictures need widgets.
target_sources(ormeline_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/promptrequest.h
    ${CMAKE_CURRENT_LIST_DIR}/promptrequest.cpp
)
target_sources(ormeline_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/pictures.h
    ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/form97.h
    ${CMAKE_CURRENT_LIST_DIR}/form97.cpp
    ${CMAKE_CURRENT_LIST_DIR}/prompts.h
    ${CMAKE_CURRENT_LIST_DIR}/prompts.cpp
)
