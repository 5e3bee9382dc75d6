# Programs load their DLLs by name, so the DLLs go beside them:
# copy_dlls_beside(target dll...) copies each DLL target (named like its
# file, without prefix) into the calling directory's build folder and keeps
# the copy current when the DLL is rebuilt.
function(copy_dlls_beside target)
    foreach(dll ${ARGN})
        set(copy ${CMAKE_CURRENT_BINARY_DIR}/${dll}.dll)
        add_custom_command(OUTPUT ${copy}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${dll}> ${copy}
            DEPENDS ${dll} $<TARGET_FILE:${dll}>)
        add_custom_target(${target}_${dll} DEPENDS ${copy})
        add_dependencies(${target} ${target}_${dll})
    endforeach()
endfunction()
