# Run by CPack on its staging folder before it builds the package: gzips the
# manual pages and the changelog as Debian does (-9, and -n for a reproducible
# file without name or time stamp).
file(GLOB_RECURSE documents
     ${CPACK_TEMPORARY_DIRECTORY}/*/share/man/man*/*.[1-9]
     ${CPACK_TEMPORARY_DIRECTORY}/*/share/doc/*/changelog)
foreach(document IN LISTS documents)
  execute_process(COMMAND gzip -9nf ${document} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
