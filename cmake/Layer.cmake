# ratiograph_expose_folder(<target> <include prefix>)
# Makes the current source folder includable as <include prefix>/... by <target> and by whatever links it, and
# nothing else: a layer sees only the folders of the layers it links, so the build itself checks that
# dependencies point down. The prefix is a link in the build tree, so includes keep naming their folder.
function(ratiograph_expose_folder target prefix)
    set(root "${CMAKE_BINARY_DIR}/include/${target}")
    get_filename_component(parent "${root}/${prefix}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${prefix}" SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE "${root}")
    else()
        target_include_directories(${target} PUBLIC "${root}")
    endif()
endfunction()
