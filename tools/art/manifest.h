// The art manifest (data/assets/art-manifest.tsv) and the module metrics
// (data/art_metrics.txt), and the size every generated file gets.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace art {

struct ManifestRow {
    std::string path, width, height, required, group, constraints, shows;
    bool absent() const { return required == "absent"; }
};

struct Size {
    int w = 0, h = 0;
};

// Reads the tab-separated manifest; returns false with a message on a bad file.
bool readManifest(const std::string& file, std::vector<ManifestRow>& rows, std::string& error);

// Reads "name value" lines; '#' starts a comment.
bool readMetrics(const std::string& file, std::map<std::string, int>& metrics, std::string& error);

// Resolves the size of every non-absent row: module art from the metrics,
// then numbers in the manifest, "exactly half of", the suggested size,
// "same size as", and a few layout choices of our own for rows without one.
bool resolveSizes(const std::vector<ManifestRow>& rows, const std::map<std::string, int>& metrics,
                  std::map<std::string, Size>& sizes, std::string& error);

// Finds the path a "same size as X" reference means, relative to a row.
std::string resolveReference(const std::vector<ManifestRow>& rows, const std::string& from,
                             const std::string& ref);

// "-Small" twin of a full-size path and back.
std::string smallTwin(const std::string& path);
bool isSmall(const std::string& path);
std::string fullOfSmall(const std::string& path);

}  // namespace art
