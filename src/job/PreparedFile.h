// s::job::PreparedFile -- one input read ahead by a worker: what the job
// learnt when it opened the file and, sample by sample, the outputs encoded
// into memory, handed to the thread that writes them in list order.
//
// One worker fills it, one committer drains it; every member is guarded by
// the object's own lock, and each side waits on it for the other.
//
// Cancelling never loses an announced sample: the committer announces a
// sample (checking the cancel flag) and the worker decides whether to make
// one (checking the flag too) under the same lock, so once a sample has been
// announced its worker makes it, and after a cancel no sample beyond the
// announced ones is made. abandon() stops the worker at its next step.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "job/FileIdentity.h"

namespace s::job {

class PreparedFile {
public:
    enum class Header {
        Pending,       // the worker has not looked at the file yet
        Stopped,       // the worker stopped before it knew; the committer does it itself
        NotAnInput,    // skipped, with the reason
        Unrecognised,  // no codec takes the content
        Undecoded,     // a codec took it, but no image came out
        Decoded,       // samples follow
    };

    // One sample's result. Encoded and NotWritten name an output of
    // width x height (NotWritten: the encoder could not write it).
    struct Sample {
        enum class Kind { Missing, NoOutput, NoFilter, NotEncoded, NotWritten, Encoded };
        Kind kind = Kind::Missing;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::vector<std::uint8_t> bytes;
    };

    PreparedFile(std::string path, std::int32_t samples);
    PreparedFile(const PreparedFile&) = delete;
    PreparedFile& operator=(const PreparedFile&) = delete;

    const std::string& path() const { return path_; }
    std::int32_t sampleCount() const { return sampleCount_; }

    // Worker side.
    // False when the file was abandoned or the job cancelled: the worker
    // leaves it (the header becomes Stopped).
    bool mayBegin(const std::atomic<bool>& cancel);
    void publishHeader(Header header, std::string reason, const FileIdentity& identity);
    // Whether sample j is to be made: always when it was announced, never
    // after abandon() or once the job is cancelled.
    bool mayMake(std::int32_t j, const std::atomic<bool>& cancel);
    // Samples are published in order, 0 first.
    void publishSample(Sample sample);
    // No more samples will come (also marks a header never published as Stopped).
    void finish();

    // Committer side.
    // Waits for the header; reason() and identity() are set with it.
    Header waitHeader();
    const std::string& reason() const { return reason_; }
    const FileIdentity& identity() const { return identity_; }
    // False when the job was cancelled; otherwise sample j is announced.
    bool announce(std::int32_t j, const std::atomic<bool>& cancel);
    // Waits for sample j and hands over its bytes; Missing when the worker
    // stopped without it.
    Sample takeSample(std::int32_t j);
    void abandon();

private:
    const std::string path_;
    const std::int32_t sampleCount_;

    std::mutex mutex_;
    std::condition_variable changed_;
    Header header_ = Header::Pending;
    std::string reason_;
    FileIdentity identity_;
    std::vector<Sample> samples_;  // published so far, in order
    std::int32_t announced_ = 0;   // samples 0 .. announced_ - 1 are promised
    bool finished_ = false;
    bool abandoned_ = false;
};

}  // namespace s::job
