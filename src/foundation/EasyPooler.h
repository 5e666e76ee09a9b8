// Per-class object pools.
//
// Nearly every framework class is pooled: instances are taken from the
// class's one pool and given back to it, where they are reset and kept for
// reuse (last in, first out, so the most recently used object comes back
// first). A pool keeps at most `capacity` free objects and disposes of the
// rest. Only the free-list manipulation and the reset of a returned object run
// under the pool's lock; creating and destroying objects runs outside it.
//
// Pooled objects travel in RAII handles (`s::thread::Pooled<T>`), so every
// object goes back to its pool exactly once:
//
//     s::thread::Pooled<BufferedImage> image = BufferedImage::take();
//     ...                                   // released when `image` dies
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace s::thread {

// Second base of every pooled class.
class IPoolable {
public:
    virtual ~IPoolable() = default;
    // Puts the object back into its class's pool (which resets it).
    virtual void release() = 0;
    // Returns the object to its freshly constructed state, releasing what it owns.
    virtual void reset() = 0;
};

// Deleter of the RAII handle: hands the object back to its pool.
struct ReleaseToPool {
    void operator()(IPoolable* object) const noexcept {
        if (object) object->release();
    }
};

template <class T>
using Pooled = std::unique_ptr<T, ReleaseToPool>;

template <class T>
class EasyPooler {
public:
    using Create = std::function<T*()>;
    using Dispose = std::function<void(T*)>;
    using ResetObject = std::function<void(T*)>;

    static constexpr std::size_t kDefaultCapacity = 1000;

    explicit EasyPooler(std::size_t capacity = kDefaultCapacity,
                        Create create = [] { return new (std::nothrow) T(); },
                        Dispose dispose = [](T* object) { delete object; },
                        ResetObject resetObject = [](T* object) { object->reset(); })
        : capacity_(capacity),
          create_(std::move(create)),
          dispose_(std::move(dispose)),
          resetObject_(std::move(resetObject)) {}

    EasyPooler(const EasyPooler&) = delete;
    EasyPooler& operator=(const EasyPooler&) = delete;

    ~EasyPooler() {
        for (T* object : freeList_) dispose_(object);
    }

    // Takes a free object, or creates one (outside the lock). Returns null
    // only when a new object cannot be created.
    T* get() {
        {
            std::lock_guard lock(mutex_);
            if (!freeList_.empty()) {
                T* object = freeList_.back();
                freeList_.pop_back();
                return object;
            }
        }
        try {
            return create_();
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }

    // Resets and keeps the object while the free list has room, otherwise
    // disposes of it (outside the lock).
    void put(T* object) {
        if (!object) return;
        {
            std::lock_guard lock(mutex_);
            if (freeList_.size() < capacity_) {
                resetObject_(object);
                try {
                    freeList_.push_back(object);
                    return;
                } catch (const std::bad_alloc&) {
                    // fall through: dispose instead of keeping it
                }
            }
        }
        dispose_(object);
    }

    Pooled<T> take() { return Pooled<T>(get()); }

    std::size_t freeCount() const {
        std::lock_guard lock(mutex_);
        return freeList_.size();
    }
    std::size_t capacity() const { return capacity_; }

private:
    // Recursive: resetting a returned object may release objects of the same
    // class into this pool (an image's cached images) while put holds the lock.
    mutable std::recursive_mutex mutex_;
    std::vector<T*> freeList_;
    std::size_t capacity_;
    Create create_;
    Dispose dispose_;
    ResetObject resetObject_;
};

// Convenience for pooled classes: declares the class's single pool and the
// IPoolable::release that returns objects to it. Use inside the class body:
//
//     class Foo : public s::base::IObject, public s::thread::IPoolable {
//         TARVEX_POOLED(Foo, "s_ns_Foo")
//     ...
#define TARVEX_POOLED(Class, registeredName)                                \
public:                                                                     \
    static ::s::thread::EasyPooler<Class>& pool() {                         \
        static ::s::thread::EasyPooler<Class> instance;                     \
        return instance;                                                    \
    }                                                                       \
    static ::s::thread::Pooled<Class> take() { return pool().take(); }      \
    void release() override { pool().put(this); }                          \
    const char* getClassName() const override { return registeredName; }   \
                                                                            \
private:

}  // namespace s::thread
