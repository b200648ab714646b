# cmake -DSOURCE=FILE -DTARGET=FILE -P CopyIfNewer.cmake
# Copies SOURCE to TARGET when TARGET is missing or older than SOURCE, so a copy changed
# since (Program.ini, by the running program) is kept until the default itself changes.
if(NOT EXISTS "${TARGET}" OR "${SOURCE}" IS_NEWER_THAN "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
