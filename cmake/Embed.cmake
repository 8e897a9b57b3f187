# ratiograph_embed_file(<target> <input file> <symbol> <declaring header>)
# Compiles the bytes of <input file> into <target> as `const std::span<const std::uint8_t> <symbol>`, rebuilt
# whenever the file changes.
function(ratiograph_embed_file target input symbol header)
    get_filename_component(input "${input}" ABSOLUTE)
    set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
    add_custom_command(OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} -DHEADER=${header}
                -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
        DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
        COMMENT "Embedding ${input}")
    target_sources(${target} PRIVATE "${output}")
endfunction()
