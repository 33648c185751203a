// Runs Quillet's side and its floor's side of a measurement in turns.
#pragma once

#include <functional>

// Each side is told whether its round counts: the first warmUps rounds
// only bring caches and lazily loaded libraries into their steady state.
using BenchSide = std::function<void(bool counted)>;

constexpr int WarmUpRounds = 2;
constexpr int FewestRepetitions = 10;

// Which side goes first alternates, so that a drift in the machine's speed
// weighs on both alike.
void RunInterleaved(int repetitions, const BenchSide& quillet, const BenchSide& floor);
