# How the program's own targets are built: warnings, sanitizers, and the
# include paths that keep each folder to the folders below it.

# Compiler settings every target of ours takes, and nothing else does.
add_library(ormeline_options INTERFACE)
target_compile_options(ormeline_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wformat=2)
if(ORMELINE_WERROR)
    target_compile_options(ormeline_options INTERFACE -Werror)
endif()
if(ORMELINE_SANITIZE)
    # float-cast-overflow is not part of "undefined" on GCC: a position too
    # large for the printer's single precision must not pass unnoticed.
    set(ORMELINE_SANITIZERS address,undefined,float-cast-overflow)
    target_compile_options(ormeline_options INTERFACE
        -fsanitize=${ORMELINE_SANITIZERS} -fno-sanitize-recover=undefined,float-cast-overflow
        -fno-omit-frame-pointer -g)
    target_link_options(ormeline_options INTERFACE -fsanitize=${ORMELINE_SANITIZERS})
endif()
if(ORMELINE_FUZZ)
    # Everything of ours is instrumented for libFuzzer's coverage; a
    # sanitizer's report stops the run so that the input is kept.
    target_compile_options(ormeline_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
    target_link_options(ormeline_options INTERFACE -fsanitize=address,undefined)
endif()

# Each folder of src/ is seen by the targets that link it, and by no other,
# through a folder of the build tree that holds a link to it alone: a target
# that does not link amount_words cannot include "amount_words/...".
function(ormeline_expose_folder target folder)
    set(root "${CMAKE_BINARY_DIR}/include/${folder}")
    if(NOT EXISTS "${root}/${folder}")
        file(MAKE_DIRECTORY "${root}")
        file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${folder}" "${root}/${folder}" SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC "${root}")
endfunction()

# ormeline_library(TARGET FOLDER folder SOURCES ... [PUBLIC ...] [PRIVATE ...])
# A static library of one folder; PUBLIC lists what its headers need.
function(ormeline_library target)
    cmake_parse_arguments(L "" "FOLDER" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    list(TRANSFORM L_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/src/${L_FOLDER}/")
    add_library(${target} STATIC ${L_SOURCES})
    target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE} ormeline_options)
    ormeline_expose_folder(${target} ${L_FOLDER})
endfunction()
