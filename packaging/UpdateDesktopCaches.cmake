# Run by `cmake --install` after the desktop files are in place (RATIOGRAPH_DATADIR is set before it): updates
# the caches through which desktops find the settings file type, the menu entry's file associations and the
# icons, so that a plain install works at once. An install into DESTDIR is a package being staged: the package
# manager's triggers update the caches on the target system, and the staging tree must not carry any.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()

if(IS_ABSOLUTE "${RATIOGRAPH_DATADIR}")
    set(datadir "${RATIOGRAPH_DATADIR}")
else()
    set(datadir "${CMAKE_INSTALL_PREFIX}/${RATIOGRAPH_DATADIR}")
endif()

# Tool, then its arguments; a tool that is not installed is skipped, one that fails only warns, since the
# program itself is installed either way.
function(ratiograph_update_cache tool)
    find_program(ratiograph_tool_${tool} ${tool})
    if(NOT ratiograph_tool_${tool})
        message(STATUS "Not updating with ${tool}: it is not installed")
        return()
    endif()
    list(JOIN ARGN " " arguments)
    message(STATUS "Updating: ${tool} ${arguments}")
    execute_process(COMMAND "${ratiograph_tool_${tool}}" ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(WARNING "${tool} failed (${result}); desktops may not see the new files until it runs")
    endif()
endfunction()

ratiograph_update_cache(update-mime-database "${datadir}/mime")
ratiograph_update_cache(update-desktop-database -q "${datadir}/applications")
# A per-user or /usr/local hicolor folder has no index.theme of its own; the cache is valid without one.
ratiograph_update_cache(gtk-update-icon-cache -q -f -t "${datadir}/icons/hicolor")
