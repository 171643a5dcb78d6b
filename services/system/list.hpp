// list.hpp -- entity lists: an ordered list of live objects of one effect
// family, appended at the end and walked front to back, where the object just
// visited may remove itself in constant time and objects appended during a
// walk are reached by that same walk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <list>
#include <memory>

template <typename T>
class TList {
    // Each entry remembers when it was appended, so a walk that has passed
    // the last entry can still find the ones appended after it.
    struct Entry {
        std::shared_ptr<T> object;
        std::uint64_t order;
    };

   public:
    using Ref = std::shared_ptr<T>;
    using Link = typename std::list<Entry>::iterator;

    // Appends and returns the new link (keep it to remove the object cheaply).
    Link AddLast(Ref object) {
        return items_.insert(items_.end(), Entry{std::move(object), ++appended_});
    }
    // Unlinks one link returned by AddLast; constant time.
    void RemoveLink(Link link) { items_.erase(link); }
    // Unlinks the first link whose value is that object; false if absent.
    bool Remove(const T* object) {
        for (auto it = items_.begin(); it != items_.end(); ++it) {
            if (it->object.get() == object) {
                items_.erase(it);
                return true;
            }
        }
        return false;
    }
    void Clear() { items_.clear(); }
    std::size_t Count() const { return items_.size(); }
    bool IsEmpty() const { return items_.empty(); }

    // Walks front to back.  NextObject moves past the link before returning
    // its object, so removing the object just returned is safe; an object
    // appended while the walk stands on the last one is still reached.
    class Enumerator {
       public:
        explicit Enumerator(TList& list) : list_(list), next_(list.items_.begin()) {}
        bool HasNext() {
            if (next_ == list_.items_.end()) next_ = list_.FirstAppendedAfter(passed_);
            return next_ != list_.items_.end();
        }
        Ref NextObject() {  // only after HasNext answered true
            passed_ = next_->order;
            return (next_++)->object;
        }

       private:
        TList& list_;
        Link next_;
        std::uint64_t passed_ = 0;  // order of the last object returned; 0 before the first
    };
    Enumerator ObjectEnumerator() { return Enumerator(*this); }

   private:
    // Appends only go at the end, so the entries after `order` are a tail.
    Link FirstAppendedAfter(std::uint64_t order) {
        auto it = items_.end();
        while (it != items_.begin() && std::prev(it)->order > order) --it;
        return it;
    }

    std::list<Entry> items_;
    std::uint64_t appended_ = 0;
};
