# lirra_gzip(SOURCE OUTPUT): OUTPUT is SOURCE compressed as Debian wants manual pages and
# changelogs: gzip -9 without a name or time stamp, so the same source gives the same bytes.
function(lirra_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source} VERBATIM)
  get_filename_component(name ${output} NAME)
  add_custom_target(gzip_${name} ALL DEPENDS ${output})
endfunction()
