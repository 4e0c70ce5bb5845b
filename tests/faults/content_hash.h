/* The fingerprint of a file's content that the fault shim writes into its trace and the
   harness compares snapshots by: 64 bits over the bytes and the length. Plain C, so that
   the shim (C) and the harness (C++) share it. */
#ifndef VELTRANE_TESTS_FAULTS_CONTENT_HASH_H
#define VELTRANE_TESTS_FAULTS_CONTENT_HASH_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

typedef struct {
  uint64_t state;
  uint64_t length;
} content_hash;

static inline void content_hash_start(content_hash* h) {
  h->state = 0x9E3779B97F4A7C15ull;
  h->length = 0;
}

static inline uint64_t content_hash_mix(uint64_t x) {
  x ^= x >> 31;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 29;
  return x;
}

/* Pieces may be of any size: the result depends on the bytes alone, not on how they came. */
static inline void content_hash_add(content_hash* h, const void* data, size_t size) {
  const unsigned char* p = (const unsigned char*)data;
  for (size_t i = 0; i < size; ++i) {
    const uint64_t at = h->length + i;
    h->state ^= (uint64_t)p[i] << ((at & 7) * 8);
    /* Every eighth byte folds the word in, so that the loop stays a shift and an xor per byte. */
    if ((at & 7) == 7) h->state = content_hash_mix(h->state) * 0x94D049BB133111EBull;
  }
  h->length += size;
}

static inline uint64_t content_hash_end(const content_hash* h) {
  return content_hash_mix(h->state ^ content_hash_mix(h->length + 0x632BE59BD9B4E019ull));
}

#endif
