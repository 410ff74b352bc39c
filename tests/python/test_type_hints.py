"""The type hints (__init__.pyi) describe what the package holds: no name missing from
them, none left over."""
import ast
import inspect
import pathlib

import zoqcam


def hint_tree():
    path = pathlib.Path(zoqcam.__file__).with_name("__init__.pyi")
    assert path.with_name("py.typed").exists()
    return ast.parse(path.read_text())


def members(node):
    names = set()
    for item in node.body:
        if isinstance(item, (ast.FunctionDef, ast.ClassDef)):
            names.add(item.name)
        elif isinstance(item, ast.AnnAssign) and isinstance(item.target, ast.Name):
            names.add(item.target.id)
        elif isinstance(item, ast.Assign):
            names.update(t.id for t in item.targets if isinstance(t, ast.Name))
    return {n for n in names if not n.startswith("_")}


def test_module_names_match_the_type_hints():
    tree = hint_tree()
    aliases = {"Image", "Window"}  # type aliases of the hints only
    runtime = {name for name, value in vars(zoqcam).items()
               if not name.startswith("_") and not inspect.ismodule(value)}
    assert members(tree) - aliases == runtime


def test_class_members_match_the_type_hints():
    classes = [n for n in hint_tree().body if isinstance(n, ast.ClassDef)]
    assert {c.name for c in classes} >= {"Camera", "Frame", "FrameIterator", "CameraInfo"}
    for cls in classes:
        runtime = getattr(zoqcam, cls.name)
        public = {n for n in dir(runtime) if not n.startswith("_")}
        if issubclass(runtime, BaseException):
            public -= set(dir(BaseException))
            public |= {"code", "text", "call"}  # set by __init__
        assert members(cls) == public, cls.name
