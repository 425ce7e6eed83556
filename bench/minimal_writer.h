/* A complete flash update written as plainly as C allows, on the bare raw
   host: the same bytes as the writer's, with no abstraction in between.
   The floor for the full-write benchmark. */
#ifndef VRX_MINIMAL_WRITER_H
#define VRX_MINIMAL_WRITER_H

#ifdef __cplusplus
extern "C" {
#endif

/* Programs the 32 KB `image` through the module at `path`, starting at
   `bit_rate`, with the loader's pauses; 0 on success, -1 on any failure. */
int minimal_write(const char* path, int bit_rate, const unsigned char* image);

#ifdef __cplusplus
}
#endif

#endif
