#pragma once

#include <cstdint>

namespace tracciato {

// The records of the descriptions that a placement routine lays into the
// cells, with the field names of the descriptions, in the order written.

// montagna, inizio, fine, tipo: a structure over the track.
struct MontagnaRecord {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t tipo = 0;  // above 10: with a filler every fourth cell
};

// indicatori_vmax, posizione, then the left and the right track's three
// speeds and stripes.
struct SpeedBoardRecord {
  std::int32_t posizione = 0;
  std::int32_t vas = 0;
  std::int32_t vbs = 0;
  std::int32_t vcs = 0;
  std::int32_t strisces = 0;
  std::int32_t vad = 0;
  std::int32_t vbd = 0;
  std::int32_t vcd = 0;
  std::int32_t strisced = 0;
};

// segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo.
struct SignalRecord {
  std::int32_t posizione = 0;
  std::int32_t sx = 0;
  std::int32_t s1 = 0;
  std::int32_t s2 = 0;
  std::int32_t s3 = 0;
  std::int32_t rapp = 0;
  std::int32_t dx = 0;
  std::int32_t d1 = 0;
  std::int32_t d2 = 0;
  std::int32_t d3 = 0;
  std::int32_t tempo = 0;
};

// rallentamento, x, v, l, f_tt, f_ta, d_v: a temporary slowdown.
struct SlowdownRecord {
  std::int32_t x = 0;     // start position
  std::int32_t v = 0;     // speed, km/h
  std::int32_t l = 0;     // length, m
  std::int32_t f_tt = 0;  // third value of the start and end points
  std::int32_t f_ta = 0;  // non-zero: four pre-warning cells
  std::int32_t d_v = 0;   // non-zero: the second value of every cell laid
};

}  // namespace tracciato
