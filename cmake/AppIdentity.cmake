# The program's title and application id, with the version of project(), written into one
# generated header (platform/AppIdentity.h under OUT_DIR) that the code includes.
set(SUMWISE_APP_TITLE "Sumwise")
set(SUMWISE_APP_ID "io.github.sumwise.Sumwise")

function(sumwise_generate_app_identity out_dir version)
  set(SUMWISE_APP_VERSION "${version}")
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/AppIdentity.h.in
                 ${out_dir}/platform/AppIdentity.h @ONLY)
endfunction()
