#pragma once

#include <QString>

#include <optional>

namespace kotohana {

// The outcome of writing a file. On failure the message says, in the user's language,
// what could not be done and why; the file on disk is as it was before.
struct FileResult {
    enum class Status { Ok, Unencodable, Failed };

    Status status = Status::Ok;
    std::optional<char32_t> unencodable; // set with Status::Unencodable
    QString message; // empty with Status::Ok

    bool ok() const { return status == Status::Ok; }

    static FileResult success() { return {}; }
    static FileResult failed(QString text) { return {Status::Failed, std::nullopt, std::move(text)}; }
};

} // namespace kotohana
