/* The fingerprint of a file's content, shared by the shim (C) and the harness (C++): 64-bit
   FNV-1a over the bytes, and the length. */
#ifndef VELTRANE_TESTS_FAULTS_CONTENT_HASH_H
#define VELTRANE_TESTS_FAULTS_CONTENT_HASH_H

#include <stddef.h>
#include <stdint.h>

typedef struct {
  uint64_t state;
  uint64_t length;
} content_hash;

static inline void content_hash_start(content_hash* h) {
  h->state = 0xCBF29CE484222325ull;
  h->length = 0;
}

static inline void content_hash_add(content_hash* h, const void* data, size_t size) {
  const unsigned char* p = (const unsigned char*)data;
  for (size_t i = 0; i < size; ++i) h->state = (h->state ^ p[i]) * 0x100000001B3ull;
  h->length += size;
}

static inline uint64_t content_hash_end(const content_hash* h) { return h->state; }

#endif
