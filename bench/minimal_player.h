/* A conversation with the module played as plainly as C allows, on the bare
   raw host: each host byte written, the module's answer read and compared,
   with the pauses and the bit-rate change where a step asks for them.  The
   full-write benchmark gives it the conversation of a correct flash update
   (tests/support/expected_conversation.h), so it is the floor of the same
   bytes the writer exchanges, with no abstraction in between. */
#ifndef VRX_MINIMAL_PLAYER_H
#define VRX_MINIMAL_PLAYER_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

struct minimal_step {
  unsigned char host;   /* the byte the host writes */
  int bit_rate;         /* the port's bit rate for it */
  size_t answer_offset; /* its answer: answers[offset .. offset + count) */
  size_t answer_count;
  unsigned pause_ms; /* slept after the answer */
};

/* Plays `count` steps through the module at `path`; 0 when every answer
   came as expected, -1 on any failure. */
int minimal_play(const char* path, const struct minimal_step* steps, size_t count,
                 const unsigned char* answers);

#ifdef __cplusplus
}
#endif

#endif
