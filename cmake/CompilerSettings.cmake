# Shared compiler settings: every target links kvf_settings.
add_library(kvf_settings INTERFACE)
target_compile_options(kvf_settings INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_compile_definitions(kvf_settings INTERFACE QT_NO_KEYWORDS)
if(KVF_SANITIZE)
  target_compile_options(kvf_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kvf_settings INTERFACE -fsanitize=address,undefined)
endif()
if(KVF_BUILD_FUZZ)
  # Coverage instrumentation for every library the fuzz targets link.
  target_compile_options(kvf_settings INTERFACE -fsanitize=fuzzer-no-link)
endif()
