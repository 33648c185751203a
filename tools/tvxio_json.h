// tvxio's output for scripts (--json): a command's data as one JSON
// document on one line, "schema" first, so that a script can tell these
// fields from those of a later form. ASCII only, as json_text.h writes it:
// any console code page or pipe passes labels and notes on whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controller/driver_backup.h"
#include "controller/driver_update.h"
#include "controller/target_check.h"
#include "ioconfig/io_map.h"

// The axes and their signals, with the channels' labels; unreadKeys: what
// a file holds that Quillet does not read (UnreadKeys), in both; for the
// values a driver stores, whether there are none.
std::string ShowJson(const IoConfigImage& image, const ChannelLabels& labels,
                     const std::vector<std::string>& unreadKeys = {},
                     std::optional<bool> nothingStored = std::nullopt);
// The findings, each with the channels and the signals it names, and their
// counts.
std::string CheckJson(const IoConfigImage& image, const std::vector<Finding>& findings,
                      const std::vector<std::string>& unreadKeys = {});
std::string DiffJson(const IoConfigImage& oldImage, const IoConfigImage& newImage);
// Every channel of the map; controller: the one whose channels it knows.
std::string MapJson(const std::vector<MappedChannel>& map, std::optional<ControllerNumber> controller);
std::string BackupsJson(const std::string& folder, const std::vector<BackupCopy>& copies, int skipped);

// A write, from its check against the controller on. Without an outcome,
// it was stopped before anything was tried.
struct WriteReport {
    ControllerNumber controller;
    std::string path;
    IoConfigImage image;
    TargetCheck check;
    std::optional<DriverUpdateOutcome> outcome;
};
std::string WriteJson(const WriteReport& report);
