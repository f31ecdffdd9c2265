# One static library per folder (or two where a folder holds a pure part and its window):
#
#   orvanek_library(<target> FOLDER <folder under src> SOURCES <files> [DEPENDS <targets>])
#
# A library exports only its own headers. They are linked into
# <build>/include/<target>/<folder>/, and that directory is the library's only include
# path, so "data/observationstore.h" is found only by code that links orvanek_data (directly
# or through a library that does). An include of a folder the library does not depend on
# fails to build.
function(orvanek_library name)
    cmake_parse_arguments(ARG "" "FOLDER" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    set(include_root ${CMAKE_BINARY_DIR}/include/${name})
    # Made afresh on every configure, so a header that moved away is not found here any more.
    file(REMOVE_RECURSE ${include_root})
    file(MAKE_DIRECTORY ${include_root}/${ARG_FOLDER})
    foreach(source IN LISTS ARG_SOURCES)
        if(source MATCHES "\\.h$")
            file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${source}
                 ${include_root}/${ARG_FOLDER}/${source} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${name} PUBLIC ${include_root})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()
