// Chains of hooks that see messages before their target does: a control's window procedure, the
// application's window, the message loop. Each hook is held by an owner that takes out exactly its
// own hook, in any order and at any time, also while the chain is running.
#pragma once

#include <memory>
#include <utility>
#include <vector>

namespace quendrel::toolkit {

struct THookNode {
  virtual ~THookNode() = default;
  bool removed = false;
};

struct THookList {
  std::vector<std::shared_ptr<THookNode>> nodes;  // oldest first
};

// Owns one installed hook: Remove() or the owner's end takes out exactly that hook, whatever the
// order, also while the chain is handling a message. Outliving the chain is harmless.
class THookOwner {
public:
  THookOwner() = default;
  ~THookOwner() { Remove(); }
  THookOwner(THookOwner&& other) noexcept = default;
  THookOwner& operator=(THookOwner&& other) noexcept {
    if (this != &other) {
      Remove();
      list_ = std::move(other.list_);
      node_ = std::move(other.node_);
    }
    return *this;
  }
  THookOwner(const THookOwner&) = delete;
  THookOwner& operator=(const THookOwner&) = delete;

  void Remove() {
    if (!node_) return;
    node_->removed = true;
    if (auto list = list_.lock()) std::erase(list->nodes, node_);
    node_.reset();
    list_.reset();
  }
  bool Installed() const { return node_ && !node_->removed && !list_.expired(); }

private:
  template <class Hook>
  friend class THookChain;
  THookOwner(std::weak_ptr<THookList> list, std::shared_ptr<THookNode> node)
      : list_(std::move(list)), node_(std::move(node)) {}
  std::weak_ptr<THookList> list_;
  std::shared_ptr<THookNode> node_;
};

// The hooks of one target. Running works on a snapshot: a hook added while a message runs sees the
// next one; a removed one is skipped, and its callable stays alive until the message is done (a
// hook may remove itself).
template <class Hook>
class THookChain {
public:
  using Snapshot = std::vector<std::shared_ptr<THookNode>>;

  [[nodiscard]] THookOwner Add(Hook hook) {
    auto node = std::make_shared<Node>(std::move(hook));
    list_->nodes.push_back(node);
    return THookOwner(list_, std::move(node));
  }
  bool Empty() const { return list_->nodes.empty(); }
  Snapshot Take() const { return list_->nodes; }
  static const Hook& HookOf(const THookNode& node) { return static_cast<const Node&>(node).hook; }

  // Calls visit(hook) newest first until it returns true; true when one did.
  template <class Visit>
  bool RunNewestFirst(Visit&& visit) const {
    if (Empty()) return false;
    const Snapshot nodes = Take();
    for (size_t i = nodes.size(); i-- > 0;) {
      if (!nodes[i]->removed && visit(HookOf(*nodes[i]))) return true;
    }
    return false;
  }

private:
  struct Node : THookNode {
    explicit Node(Hook h) : hook(std::move(h)) {}
    Hook hook;
  };
  std::shared_ptr<THookList> list_ = std::make_shared<THookList>();
};

}  // namespace quendrel::toolkit
